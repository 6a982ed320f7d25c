#include "gui/KeyPress.h"

#include <QAbstractButton>
#include <QList>
#include <QShortcut>

namespace gui {

void pressOnKey(QWidget* window, const QKeySequence& keys, std::initializer_list<QAbstractButton*> buttons)
{
    auto* shortcut = new QShortcut(keys, window);
    shortcut->setContext(Qt::WindowShortcut);
    const QList<QAbstractButton*> targets(buttons);
    QObject::connect(shortcut, &QShortcut::activated, window, [targets] {
        for (QAbstractButton* b : targets) {
            if (b->isEnabled() && b->isVisible()) {
                b->click();
                return;
            }
        }
    });
}

} // namespace gui
