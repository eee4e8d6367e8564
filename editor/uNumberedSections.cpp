#include "uNumberedSections.h"

#include <climits>

#include "IniFiles.h"
#include "StringList.h"
#include "SysUtils.h"

Integer LastNumberedSection(TCustomIniFile& file, const String& prefix) {
    TStringList sections;
    file.ReadSections(&sections);
    Integer last = 0;
    for (Integer i = 0; i < sections.Count(); ++i) {
        const String name = sections[i];
        if (name.size() <= prefix.size() || CompareText(name.substr(0, prefix.size()), prefix) != 0) continue;
        const String digits = name.substr(prefix.size());
        if (digits[0] == L'0') continue;
        long long n = 0;
        bool allDigits = true;
        for (wchar_t c : digits) {
            if (c < L'0' || c > L'9') {
                allDigits = false;
                break;
            }
            n = std::min<long long>(n * 10 + (c - L'0'), INT_MAX);
        }
        if (allDigits && n > last) last = Integer(n);
    }
    return last;
}
