#pragma once

#include "editor/MapTool.h"

#include <QList>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

class ToolContext;

// The one list of the map tools the user chooses from. The session makes one
// of each, the Tools menu and the tool bar show them in this order, each with
// its description's caption and key. A new tool is a MapTool with a static
// Description() and a constructor taking a ToolContext, added here; nothing
// else changes.
namespace ToolRegistry {

struct Entry {
    ToolDescription description;
    std::function<std::unique_ptr<MapTool>(ToolContext& context)> make;
};

// Every tool, in menu order; the first is chosen at start.
const QList<Entry>& Tools();

// The place in Tools() of the tool named `id`; nothing for an unknown name.
std::optional<qsizetype> IndexOf(const QString& id);

}  // namespace ToolRegistry
