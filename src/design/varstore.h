#pragma once
// Report variables of the member-design objects.
//
// A design object keeps what it found as named texts ("Wan.Ksai" = "0.2731",
// "JianNiu.RTF.JieMian" = a report line ...). Callers read them by name to put
// the object's own explanation into their reports; the crack-width class of the
// finite-element library shares the same base.
#include <cstdio>
#include <map>
#include <string>

// One store of named texts. Names match exactly; a missing name reads as "".
class CVarStore {
public:
    void Set(const std::string& name, const std::string& value);
    // printf-style value.
    void SetF(const std::string& name, const char* format, ...) __attribute__((format(printf, 3, 4)));
    // Numbers are kept as "%g"-like texts with four decimals ("0.2731").
    void SetNumber(const std::string& name, double value);
    std::string Get(const std::string& name) const;
    bool Has(const std::string& name) const;
    void Remove(const std::string& name);
    void Clear();
    std::size_t Count() const { return values_.size(); }

private:
    std::map<std::string, std::string> values_;
};

// Base of the design and crack-width classes: three stores (conditions, result
// values, report texts), the two limit flags and the explanation operations.
class PJ_BASE {
public:
    PJ_BASE() = default;
    virtual ~PJ_BASE() = default;
    PJ_BASE(const PJ_BASE&) = default;
    PJ_BASE& operator=(const PJ_BASE&) = default;

    // 1 when a limit of the last design is exceeded (over-reinforced section, a
    // section too small, ...).
    virtual int if_CJCX();
    // Writes the explanation of the exceeded limit into an open text file.
    virtual void Out_CJCX(std::FILE* fp);
    // 1 when the last design was governed by detailing (minimum steel).
    virtual int if_GZPJ();
    virtual void Out_GZPJ(std::FILE* fp);
    // Out_CJCX when if_CJCX, then Out_GZPJ when if_GZPJ.
    virtual void Out_Message(std::FILE* fp);

    // Looks a variable up in the three stores (results, texts, conditions).
    std::string GetVar(const std::string& name) const;

    CVarStore m_VarIn;    // design conditions
    CVarStore m_VarOut;   // result values ("Wan.Ksai", "JianNiu.No_Av", ...)
    CVarStore m_VarRtf;   // report texts ("JianNiu.RTF.JieMian", ...)
    int m_nCJCX = 0;      // limit exceeded
    int m_nGZPJ = 0;      // detailing governs
};
