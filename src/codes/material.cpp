#include "codes/material.h"

#include "base/globals.h"
#include "codes/tables.h"

int get_rc_property(int grade, Con_Prop* prop) {
    if (prop == nullptr) return 0;
    *prop = Con_Prop{};
    for (const auto& row : kv::codes::ConcreteTable(G_guifan)) {
        if (row.grade != grade) continue;
        prop->grade = grade;
        prop->fc = row.fc;
        prop->fck = row.fck;
        prop->ft = row.ft;
        prop->fcuk = static_cast<float>(grade);
        prop->fcm = row.fc;  // no separate flexural strength in these editions
        prop->ftk = row.ftk;
        prop->Ec = row.Ec;
        prop->Gc = 0.4f * row.Ec;  // Gc = 0.4 Ec, nu = 0.2: clause 4.1.5 of both editions
        prop->nu = 0.2f;
        return 1;
    }
    return 0;
}

int get_rein_property(int grade, Rein_Prop* prop) {
    if (prop == nullptr) return 0;
    *prop = Rein_Prop{};
    for (const auto& row : kv::codes::BarTable(G_guifan)) {
        if (row.code != grade) continue;
        prop->grade = grade;
        prop->fy = row.fy;
        prop->fyc = row.fyc;
        prop->fyk = row.fyk;
        prop->Es = row.Es;
        return 1;
    }
    return 0;
}
