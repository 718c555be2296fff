#pragma once

namespace talvex {

struct MessengerRecord;

// Where the messenger shows itself: each field reaches the panel the moment it is set, so a
// record read from a tape or the configuration is applied field by field in index order.
class MessengerPanelPort {
  public:
    virtual ~MessengerPanelPort() = default;
    virtual void messengerFieldApplied(int index, const MessengerRecord& record) = 0;
};

}  // namespace talvex
