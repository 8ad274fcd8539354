#pragma once

#include <QString>
#include <memory>

#include "platform/FileTypeRegistry.h"

// The program's declared file types, built and registered once at program start,
// FileTypesCommon first. Before that the accessors answer null.
namespace FileTypesCommon {

void Initialize();
std::shared_ptr<const FileType> TextThing();
std::shared_ptr<const FileType> AnyThing();
std::shared_ptr<const FileType> JpgPng();

}  // namespace FileTypesCommon

namespace FileTypeJpgPng {

void Initialize();
std::shared_ptr<const FileType> Jpeg();
std::shared_ptr<const FileType> Png();

// "image/jpeg;image/png": the picture open dialog's filter, the set's names in order.
inline QString All() { return QStringLiteral("image/jpeg;image/png"); }

}  // namespace FileTypeJpgPng
