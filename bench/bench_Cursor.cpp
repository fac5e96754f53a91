#include "BenchSession.h"
#include "ui/MapView.h"

#include <QKeyEvent>

#include <benchmark/benchmark.h>

// The keyboard's cell cursor: one arrow key on the focused map view of the shown main window until the view has
// repainted the cells it touched (the old frame and the new), at the first zoom. The cursor walks to and fro over
// the visible cells of block 1, so the view never scrolls and no block is drawn: a step as the user makes most.
namespace {

void key(QWidget* target, int key)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &press);
}

}  // namespace

static void BM_CursorStep(benchmark::State& state)
{
    Session s;
    s.load();
    auto* view = s.child<MapView>("picHolder_01");
    view->setFocus();
    s.session.setCursorCell({0, 10});
    BenchSession::flushEvents();
    int step = 0;
    for (auto _ : state) {
        // Across the first 20 columns and back, a row of cells always in view.
        key(view, (step++ / 19) % 2 == 0 ? Qt::Key_Right : Qt::Key_Left);
        QCoreApplication::processEvents();  // the region the step left dirty is painted
    }
    state.SetLabel(s.session.cursorDescription().toStdString());
}
BENCHMARK(BM_CursorStep)->Unit(benchmark::kMicrosecond);

// The same step with the session alone, no view: what the keys cost before anything is painted.
static void BM_CursorStepSession(benchmark::State& state)
{
    Session s;
    s.load();
    s.session.setCursorCell({0, 10});
    int step = 0;
    for (auto _ : state) {
        s.session.moveCursor((step++ / 19) % 2 == 0 ? 1 : -1, 0, false);
    }
}
BENCHMARK(BM_CursorStepSession)->Unit(benchmark::kMicrosecond);
