#include "platform/locale.h"

#include <cstdlib>
#include <cstring>
#include <initializer_list>

unsigned SystemDefaultLcid()
{
    // The first variable that is set and not empty decides, as for message catalogues.
    for (const char* name : { "LC_ALL", "LC_MESSAGES", "LANG" }) {
        const char* value = std::getenv(name);
        if (value && *value)
            return std::strncmp(value, "zh_CN", 5) == 0 ? 2052u : 1033u;
    }
    return 1033u;
}
