#pragma once

#include <QApplication>
#include <QTimer>
#include <functional>

namespace testing {

// Runs `open`, which shows a modal window and waits in it, and lets `user` work in that window
// once it is up. Answers whether a window of type W came up. Whatever `user` leaves open is
// closed afterwards, so the test never hangs.
template <class W>
bool inModal(const std::function<void()>& open, const std::function<void(W&)>& user)
{
    bool seen = false;
    QTimer::singleShot(0, [&] {
        auto* window = qobject_cast<W*>(QApplication::activeModalWidget());
        if (!window)
            return;
        seen = true;
        user(*window);
        if (window->isVisible())
            window->reject();
    });
    open();
    return seen;
}

} // namespace testing
