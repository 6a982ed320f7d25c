#pragma once

#include <QtGlobal>
#include <functional>

namespace common {

// Told how far a long piece of work has come: done of total. Empty when nobody is watching.
using Progress = std::function<void(qint64 done, qint64 total)>;

// Counts the steps of a piece of work towards its total and tells the watcher of each.
class ProgressCount
{
public:
    ProgressCount(const Progress& progress, qint64 total)
        : m_progress(progress)
        , m_total(total)
    {
        tell();
    }
    void step(qint64 steps = 1)
    {
        m_done += steps;
        tell();
    }
    // All done, whatever was counted.
    void finish()
    {
        m_done = m_total;
        tell();
    }

private:
    void tell() const
    {
        if (m_progress)
            m_progress(m_done, m_total);
    }

    const Progress& m_progress;
    qint64 m_total;
    qint64 m_done = 0;
};

} // namespace common
