#include "platform/escape_key.h"

#include <atomic>

namespace lumenquill {
namespace {

std::atomic<bool> escape_pressed{false};

}  // namespace

void LatchEscapeKeyPress() { escape_pressed = true; }

bool TakeEscapeKeyPress() { return escape_pressed.exchange(false); }

}  // namespace lumenquill
