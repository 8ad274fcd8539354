#pragma once

#include <QString>

// Identity of the application bundle; the data folder in Application Support carries its name.
namespace BundleInfo {
inline const QString identifier = QStringLiteral("com.orvane.tavelin");
}  // namespace BundleInfo
