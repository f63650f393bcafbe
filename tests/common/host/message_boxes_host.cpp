// The host half of the message box watch: winsim records every MessageBoxA and answers it from
// its own queue, so the watch only remembers where its part of the record begins.
#include "common/message_boxes.h"

#include <winsim/sim.h>

struct MessageBoxWatch::State {
  size_t first;
};

MessageBoxWatch::MessageBoxWatch() : state_(new State{winsim::MessageBoxes().size()}) {}

MessageBoxWatch::~MessageBoxWatch() {
  delete state_;
}

void MessageBoxWatch::Answer(int button) {
  winsim::QueueMessageBoxAnswer(button);
}

std::vector<ShownMessageBox> MessageBoxWatch::Shown() const {
  std::vector<ShownMessageBox> shown;
  const std::vector<winsim::MessageBoxRecord> &all = winsim::MessageBoxes();
  for (size_t i = state_->first; i < all.size(); i++)
    shown.push_back({all[i].owner, all[i].text, all[i].caption, all[i].style});
  return shown;
}
