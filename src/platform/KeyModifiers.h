#pragma once

#include <functional>

// The modifier keys held at this moment. Option on macOS is Qt's Alt modifier.
namespace KeyModifiers {

bool optionKey();

// Tests decide the answer instead; an empty probe restores the real keyboard state.
using Probe = std::function<bool()>;
void setOptionKeyProbe(Probe probe);

}  // namespace KeyModifiers
