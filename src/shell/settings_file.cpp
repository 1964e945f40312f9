#include "shell/settings_file.h"

#include "platform/locale.h"
#include "platform/paths.h"
#include "platform/profile.h"

#include <atomic>
#include <deque>
#include <mutex>

namespace {

// A path that readers on any thread may hold by reference while the
// user-interface thread replaces it: every value ever set stays alive until
// exit (a handful of language switches at most), and the current one is
// published through an atomic pointer.
class PathSlot {
public:
    const std::string& Get() const { return *m_current.load(std::memory_order_acquire); }

    void Set(const std::string& path)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (*m_current.load(std::memory_order_relaxed) == path)
            return;
        m_kept.push_back(path);
        m_current.store(&m_kept.back(), std::memory_order_release);
    }

private:
    std::mutex m_mutex;
    std::deque<std::string> m_kept { std::string() };
    std::atomic<const std::string*> m_current { &m_kept.front() };
};

std::string FolderOf(const std::string& path)
{
    const std::size_t slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

PathSlot& SettingsSlot()
{
    static PathSlot slot;
    return slot;
}

PathSlot& LanguageSlot()
{
    static PathSlot slot;
    return slot;
}

} // namespace

const std::string& SettingsFile()
{
    return SettingsSlot().Get();
}

void SetSettingsFile(const std::string& path)
{
    SettingsSlot().Set(path);
}

const std::string& LanguageFile()
{
    return LanguageSlot().Get();
}

void SetLanguageFile(const std::string& path)
{
    LanguageSlot().Set(path);
}

std::string LanguageFileForSettings(const std::string& settingsPath)
{
    std::string language = GetPrivateProfileString("setup", "language", "", 260, settingsPath);
    if (language.empty())
        language = SystemDefaultLcid() == 2052 ? "chinese" : "english";
    return JoinPath(FolderOf(settingsPath), language + ".lang");
}
