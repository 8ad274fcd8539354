#include "common/FileTypes.h"

namespace {

using TypePtr = std::shared_ptr<const FileType>;

// Creates the type, fills it and registers it under its name.
TypePtr declare(const FileType& type) {
  auto shared = std::make_shared<const FileType>(type);
  FileTypeRegistry::add(shared);
  return shared;
}

struct CommonSet {
  TypePtr textThing, anyThing, jpgPng;
};
CommonSet& common() {
  static CommonSet set;
  return set;
}

struct JpgPngSet {
  TypePtr jpeg, png;
};
JpgPngSet& jpgPng() {
  static JpgPngSet set;
  return set;
}

}  // namespace

// Name, Extensions, MacType, MacCreator, MimeType, UTI, ConformsTo, Imported.
const FileType kTextThing{"text/plain",
                          ".asc;.ascii;.bas;.c;.class;.cp;.cpp;.h;.hp;.hpp;.i3;.java;.m2;.m3;.mak;.text;.txt",
                          "TEXT", "????", "", "public.text", "public.content", true};
const FileType kAnyThing{"Untitled", "", "", "", "", "", "", true};
const FileType kJpgPng{"image", ".png;.jfif;.jpe;.jpeg;.jpg", "", "", "", "", "", true};
const FileType kJpeg{"image/jpeg", ".jfif;.jpe;.jpeg;.jpg", "JPEG", "", "", "public.jpeg", "public.image", true};
const FileType kPng{"image/png", ".png", "PNGf", "", "", "public.png", "public.image", true};

namespace FileTypesCommon {

void Initialize() {
  common().textThing = declare(kTextThing);
  common().anyThing = declare(kAnyThing);
  common().jpgPng = declare(kJpgPng);
}

TypePtr TextThing() { return common().textThing; }
TypePtr AnyThing() { return common().anyThing; }
TypePtr JpgPng() { return common().jpgPng; }

}  // namespace FileTypesCommon

namespace FileTypeJpgPng {

void Initialize() {
  jpgPng().jpeg = declare(kJpeg);
  jpgPng().png = declare(kPng);
}

TypePtr Jpeg() { return jpgPng().jpeg; }
TypePtr Png() { return jpgPng().png; }

}  // namespace FileTypeJpgPng
