#pragma once

#include <QString>

// Identity of the application bundle; the data folder in Application Support carries its name.
namespace BundleInfo {
// Set once, by the build, which also writes it into the bundle's Info.plist.
inline const QString identifier = QStringLiteral(TAVELIN_BUNDLE_IDENTIFIER);
}  // namespace BundleInfo
