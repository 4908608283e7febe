// The profile reader and the update page read with it: any page gives values
// within the profile rules, and only a web address is ever to be opened.
#include "fuzzcheck.h"

#include "core/update/profilereader.h"
#include "core/update/updatepage.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = fuzzBytes(data, size);
    const ProfileReader profile = ProfileReader::fromBytes(bytes);
    for (const char *key : { "newverson", "newurl", "newinfo", "" }) {
        const QString value = profile.value(
            QStringLiteral("updatex"), QString::fromLatin1(key), QStringLiteral("-"));
        FUZZ_CHECK(value.size() <= ProfileReader::kMaxValueLength);
    }
    const UpdatePage page(bytes);
    const UpdatePage::Verdict verdict = page.verdictFor(VersionNumber::fromTenThousandths(10600));
    if (verdict == UpdatePage::Verdict::Newer)
        FUZZ_CHECK(UpdatePage::isOpenableAddress(page.downloadAddress()));
    if (verdict == UpdatePage::Verdict::Newer || verdict == UpdatePage::Verdict::UnsafeAddress)
        FUZZ_CHECK(page.version() && page.version()->tenThousandths() > 10600);
    return 0;
}
