#pragma once
// The one pair of functions by which single-byte text becomes a widget's QString and back: byte
// for byte (Latin-1, which round-trips every byte value).

#include <QString>

#include <string>

namespace vorn {

QString toQString(const std::string& bytes);
std::string fromQString(const QString& text);

}  // namespace vorn
