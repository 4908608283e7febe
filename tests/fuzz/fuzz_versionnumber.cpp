// The version number of the update page: a number read back from its own
// text is the same number.
#include "fuzzcheck.h"

#include "core/update/versionnumber.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    const std::optional<VersionNumber> number = VersionNumber::parse(text);
    if (!number)
        return 0;
    const std::optional<VersionNumber> again = VersionNumber::parse(number->toString());
    FUZZ_CHECK(again && *again == *number);
    return 0;
}
