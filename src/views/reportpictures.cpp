#include "views/reportpictures.h"

#include "drawing/base_sgt.h"
#include "drawing/ui/render.h"
#include "report/rtf.h"

#include <QBuffer>
#include <QImage>
#include <algorithm>
#include <cmath>

namespace {

// Pixels on the longer side of a report picture: sharp at 160 mm when printed.
constexpr int kLongSidePixels = 2000;

bool MakeDrawingPicture(const std::string& dxfPath, int, int, std::string& png) {
    CBase_SGT drawing;
    drawing.New_MemDxf();
    if (!drawing.Read_FileDxf_To_Mem(dxfPath.c_str())) return false;
    CFRect extent;
    if (!drawing.GetFRect(extent)) return false;
    // The picture takes the drawing's proportions (with the copy's margins).
    double w = std::max(1e-5, std::fabs(static_cast<double>(extent.right - extent.left)) * 1.1);
    double h = std::max(1e-5, std::fabs(static_cast<double>(extent.top - extent.bottom)) * 1.1);
    double scale = kLongSidePixels / std::max(w, h);
    int pw = std::max(1, static_cast<int>(std::lround(w * scale)));
    int ph = std::max(1, static_cast<int>(std::lround(h * scale)));
    QImage image = kv::drawing::ui::RenderDxfToImage(drawing, pw, ph, true);
    if (image.isNull()) return false;
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG")) return false;
    png.assign(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    return true;
}

}  // namespace

void InstallReportPictureMaker() { kv::report::SetPictureMaker(MakeDrawingPicture); }
