#include "ui/ModalDisplay.h"

ModalDisplay::~ModalDisplay() = default;
