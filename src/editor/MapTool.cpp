#include "editor/MapTool.h"

MapTool::~MapTool() = default;
