#pragma once
// A private setting.ini and language file for one model test, made the
// process-wide settings and language files while the object lives.

#include "support/temp_dir.h"

#include <string>

class ModelEnv {
public:
    // catalogue: the lines of the [ModelInfo] section ("data0=00400052\n...").
    explicit ModelEnv(const std::string& catalogue = kShippedCatalogue);
    ~ModelEnv();
    ModelEnv(const ModelEnv&) = delete;
    ModelEnv& operator=(const ModelEnv&) = delete;

    std::string File(const std::string& name) const { return m_dir.file(name); }

    static constexpr const char* kShippedCatalogue =
        "data0=00400052\nFreq0=400-520MHz\ndata1=60134017\nFreq1=136-174MHz\n";

private:
    TempDir m_dir;
};
