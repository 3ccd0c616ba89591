#include "platform/backends/headless/TEventQueue.h"

std::vector<TBackendEvent> TEventQueue::TakeAll() {
    std::vector<TBackendEvent> events(std::make_move_iterator(m_events.begin()),
                                      std::make_move_iterator(m_events.end()));
    m_events.clear();
    return events;
}
