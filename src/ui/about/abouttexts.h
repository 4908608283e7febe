#pragma once

#include <QString>

// The texts of the About window, line by line as they are shown (lines end
// with "\n", as Qt's text widgets want them).
namespace AboutTexts {

// The author's name, credited on the window, and the address behind it.
QString authorName();
QString authorMail();
QString webSite();

// Tab "关于Tunvia": what the player does and which file types it plays.
QString introduction();

// Tab "更新历史": what changed in each version.
QString history();

} // namespace AboutTexts
