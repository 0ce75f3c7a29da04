#pragma once
#include "views/childframe.h"

// The report window of the report mode: one report view.
class CBbFrame : public CChildFrameBase {
    Q_OBJECT
public:
    explicit CBbFrame(QWidget* parent = nullptr);
    CBbView_KV* ReportView() const override { return m_view; }

private:
    CBbView_KV* m_view = nullptr;
};
