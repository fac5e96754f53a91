#include "core/CartridgeImage.h"

#include <algorithm>

CartridgeImage::CartridgeImage() : m_bytes(Size, '\0') {}

void CartridgeImage::assign(const QByteArray& fileBytes)
{
    QByteArray bytes(Size, '\0');
    std::copy_n(fileBytes.cbegin(), std::min<qsizetype>(fileBytes.size(), Size), bytes.begin());
    m_bytes = bytes;
}
