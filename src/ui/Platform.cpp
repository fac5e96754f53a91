#include "ui/Platform.h"

Platform::~Platform() = default;

QSettings* Platform::settings()
{
    return nullptr;
}
