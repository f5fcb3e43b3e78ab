// A picture of an icon that belongs to another window holds a copy: neither
// dropping the picture nor losing the original harms the other.
#include <gtest/gtest.h>

#include "shell/picture.h"

namespace tabwright {
namespace {

bool Usable(HICON icon) {
    ICONINFO info{};
    if (!GetIconInfo(icon, &info)) return false;
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return true;
}

TEST(PictureTest, HoldsACopyOfItsOwn) {
    const HICON original = CopyIcon(LoadIconW(nullptr, IDI_WARNING));
    EXPECT_TRUE(Usable(CreatePicture(original).Icon()));
    EXPECT_TRUE(Usable(original)) << "dropping the picture destroyed the original";
    const Picture kept = CreatePicture(original);
    DestroyIcon(original);
    EXPECT_TRUE(Usable(kept.Icon())) << "the picture needs the original";
    EXPECT_FALSE(CreatePicture(nullptr));
}

}  // namespace
}  // namespace tabwright
