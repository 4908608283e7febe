#pragma once

#include <QString>

// The input box that asks for a network address to play or to add to the list.
namespace AddressPrompt {

// "请输入一个网址,如:" and three example addresses on the service host, each on
// its own line indented by five spaces (lines break with a carriage return).
QString text(const QString &serviceHost);
QString title();
QString defaultAnswer();

// Only an answer longer than 10 characters is used ("http://" alone is 7);
// a cancelled box gives an empty answer.
bool accepts(const QString &answer);

} // namespace AddressPrompt
