#pragma once

#include <QByteArray>
#include <QString>

// Whether a picture file holds its whole stream, up to the format's end mark. Qt's JPEG
// reader fills a cut-off file with grey and calls it a picture, and its PNG reader does not
// miss the end chunk; a file that stops early is no picture here.
namespace PictureStreamEnd {

// format as QImageReader names it ("jpeg", "png"); other formats are taken as complete,
// their readers already fail on a cut-off file.
bool complete(const QString& path, const QByteArray& format);

}  // namespace PictureStreamEnd
