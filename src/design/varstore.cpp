#include "design/varstore.h"

#include <cstdarg>
#include <vector>

void CVarStore::Set(const std::string& name, const std::string& value) { values_[name] = value; }

void CVarStore::SetF(const std::string& name, const char* format, ...) {
    va_list args;
    va_start(args, format);
    va_list copy;
    va_copy(copy, args);
    const int n = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    std::string text;
    if (n > 0) {
        std::vector<char> buffer(static_cast<std::size_t>(n) + 1);
        std::vsnprintf(buffer.data(), buffer.size(), format, args);
        text.assign(buffer.data(), static_cast<std::size_t>(n));
    }
    va_end(args);
    values_[name] = text;
}

void CVarStore::SetNumber(const std::string& name, double value) { SetF(name, "%.4f", value); }

std::string CVarStore::Get(const std::string& name) const {
    auto it = values_.find(name);
    return it == values_.end() ? std::string() : it->second;
}

bool CVarStore::Has(const std::string& name) const { return values_.count(name) != 0; }

void CVarStore::Remove(const std::string& name) { values_.erase(name); }

void CVarStore::Clear() { values_.clear(); }

int PJ_BASE::if_CJCX() { return m_nCJCX ? 1 : 0; }

void PJ_BASE::Out_CJCX(std::FILE*) {}

int PJ_BASE::if_GZPJ() { return m_nGZPJ ? 1 : 0; }

void PJ_BASE::Out_GZPJ(std::FILE*) {}

void PJ_BASE::Out_Message(std::FILE* fp) {
    if (if_CJCX()) Out_CJCX(fp);
    if (if_GZPJ()) Out_GZPJ(fp);
}

std::string PJ_BASE::GetVar(const std::string& name) const {
    if (m_VarOut.Has(name)) return m_VarOut.Get(name);
    if (m_VarRtf.Has(name)) return m_VarRtf.Get(name);
    return m_VarIn.Get(name);
}
