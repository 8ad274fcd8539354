#pragma once

#include <QString>

namespace RtrnBoolean {

// Whether the text begins with the prefix, letter case respected.
bool rbDoesStringStartWith(const QString& text, const QString& prefix);

}  // namespace RtrnBoolean
