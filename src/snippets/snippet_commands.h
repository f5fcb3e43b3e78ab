// The insert commands and the hotkey press handler: the text of a heading,
// marker or snippet, or the log box's lines shifted one step, goes onto the
// clipboard and into the log box.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "clipboard/host_format_state.h"
#include "snippets/insert_texts.h"
#include "snippets/template_host.h"

namespace tabwright {

// The main window's log box Text1.
class LogBox {
public:
    virtual ~LogBox() = default;
    virtual std::u16string LogText() const = 0;
    virtual void ShowLog(std::u16string_view text) = 0;
};

class SnippetCommands {
public:
    // window: the program's window, which owns what it puts on the clipboard.
    SnippetCommands(HWND window, HostFormatState& state, TemplateHost& templates, LogBox& log);

    void Insert_Heading_Click() { Insert(InsertKind::Heading); }
    void Insert_Start_Click() { Insert(InsertKind::StartHeading); }
    void Insert_End_Click() { Insert(InsertKind::EndHeading); }
    void Insert_Hotkey_Click(int index) { Insert(InsertKind::MenuSnippet, index); }

    // A press of hotkey element index; nothing while the "Active" switch is
    // off. The menu commands do not ask the switch.
    void VBHotKey1_Press(int index, bool active);

private:
    void Insert(InsertKind kind, int snippet = 0);
    void Shift(bool right);
    // Replaces the clipboard's content in one opening, so that a failure
    // leaves what the user had there, and shows what the clipboard holds.
    void Put(std::u16string_view text);

    HWND window_;
    HostFormatState& state_;
    TemplateHost& templates_;
    LogBox& log_;
};

}  // namespace tabwright
