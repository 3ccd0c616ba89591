#pragma once

#include <deque>
#include <vector>

#include "platform/toolkit/TBackend.h"

// The headless backend's pending input, handed to the toolkit in arrival order.
class TEventQueue {
public:
    void Push(TBackendEvent event) { m_events.push_back(std::move(event)); }
    bool IsEmpty() const { return m_events.empty(); }
    // Removes and returns every pending event.
    std::vector<TBackendEvent> TakeAll();

private:
    std::deque<TBackendEvent> m_events;
};
