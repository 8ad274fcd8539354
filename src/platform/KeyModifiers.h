#pragma once

#include <Qt>
#include <functional>

// The modifier keys held at this moment. Option on macOS is Qt's Alt modifier.
namespace KeyModifiers {

Qt::KeyboardModifiers held();
inline bool optionKey() { return held().testFlag(Qt::AltModifier); }

// Tests decide which keys are held; an empty probe restores the real keyboard state.
using Probe = std::function<Qt::KeyboardModifiers()>;
void setProbe(Probe probe);

}  // namespace KeyModifiers
