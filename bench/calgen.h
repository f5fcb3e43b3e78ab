// A generated body of C/AL as it comes out of the editor: no indentation,
// unspaced operators, nested blocks, case labels, comments and long calls.
#pragma once

#include <string>

namespace tabwright::bench {

inline std::u16string GenerateCal(std::size_t minChars) {
    static const char16_t* const kBlock[] = {
        u"IF SalesHeader.FIND('-') THEN BEGIN",
        u"REPEAT",
        u"IF SalesHeader.\"Document Type\"=SalesHeader.\"Document Type\"::Order THEN",
        u"TotalAmount:=TotalAmount+SalesHeader.Amount",
        u"ELSE BEGIN",
        u"CASE SalesHeader.Status OF",
        u"SalesHeader.Status::Open:",
        u"OpenCount+=1;",
        u"SalesHeader.Status::Released:",
        u"BEGIN",
        u"// released orders are counted twice for the report",
        u"ReleasedCount:=ReleasedCount+2;",
        u"Ratio:=ReleasedCount/(OpenCount+1)*100;",
        u"END;",
        u"END;",
        u"END;",
        u"UNTIL SalesHeader.NEXT=0;",
        u"END ELSE",
        u"ERROR('No orders for %1',Customer.\"No.\");",
        u"WHILE Remaining>0 DO",
        u"Remaining:=Remaining-1;",
        u"MESSAGE(Text001,Customer.\"No.\",Customer.Name,Customer.\"Balance (LCY)\",Customer.\"Credit Limit (LCY)\",TotalAmount,OpenCount,ReleasedCount);",
    };
    std::u16string text;
    text.reserve(minChars + 4096);
    while (text.size() < minChars)
        for (const char16_t* line : kBlock) text.append(line).append(u"\r\n");
    return text;
}

}  // namespace tabwright::bench
