#include "ui/Platform.h"

Platform::~Platform() = default;
