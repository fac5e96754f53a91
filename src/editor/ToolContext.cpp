#include "editor/ToolContext.h"

ToolContext::~ToolContext() = default;
