#include "editor/ToolRegistry.h"

#include "editor/BrushTool.h"
#include "editor/FillTool.h"
#include "editor/MoveLocationsTool.h"
#include "editor/RectangleTool.h"
#include "editor/SelectTool.h"

namespace ToolRegistry {

namespace {

template <typename Tool> Entry entry()
{
    return {Tool::Description(), [](ToolContext& context) { return std::make_unique<Tool>(context); }};
}

}  // namespace

const QList<Entry>& Tools()
{
    static const QList<Entry> tools{entry<BrushTool>(), entry<FillTool>(), entry<RectangleTool>(), entry<SelectTool>(),
                                    entry<MoveLocationsTool>()};
    return tools;
}

std::optional<qsizetype> IndexOf(const QString& id)
{
    const QList<Entry>& tools = Tools();
    for (qsizetype i = 0; i < tools.size(); ++i) {
        if (tools[i].description.id == id) {
            return i;
        }
    }
    return std::nullopt;
}

}  // namespace ToolRegistry
