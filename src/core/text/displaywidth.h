#pragma once

#include <QStringView>

// The columns a text takes on a terminal: East Asian wide and full-width
// characters take two, others one.
namespace DisplayWidth {

int of(char32_t character);
int of(QStringView text);

} // namespace DisplayWidth
