#include "Platform.h"

Platform::~Platform() = default;
