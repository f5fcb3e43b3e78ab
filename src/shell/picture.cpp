#include "shell/picture.h"

namespace tabwright {

Picture CreatePicture(HICON icon) {
    Picture picture;
    if (icon) picture.icon_.reset(CopyIcon(icon));
    return picture;
}

bool Picture::Draw(HDC dc, int x, int y, int width, int height) const {
    return icon_ && DrawIconEx(dc, x, y, icon_.get(), width, height, 0, nullptr, DI_NORMAL);
}

}  // namespace tabwright
