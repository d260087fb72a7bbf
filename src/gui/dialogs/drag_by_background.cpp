#include "gui/dialogs/drag_by_background.h"

#include <QMouseEvent>
#include <QObject>
#include <QWidget>
#include <QWindow>

namespace tabvex::gui {

namespace {

class BackgroundDragFilter : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::MouseButtonPress) return false;
        auto* press = static_cast<QMouseEvent*>(event);
        auto* dialog = static_cast<QWidget*>(watched);
        if (press->button() != Qt::LeftButton || !dialog->windowHandle()) return false;
        return dialog->windowHandle()->startSystemMove();
    }
};

}  // namespace

void DragByBackground(QWidget* dialog) { dialog->installEventFilter(new BackgroundDragFilter(dialog)); }

}  // namespace tabvex::gui
