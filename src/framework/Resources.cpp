#include "framework/Resources.h"

#include <QImage>
#include <QString>
#include <cmath>
#include <map>

#include "framework/Drawing.h"
#include "framework/DrawingPrivate.h"

namespace fw {

std::shared_ptr<Picture> GetPicture(Integer id) {
    const QString base = QStringLiteral(":/immagini/%1").arg(id);
    QImage image(base + QStringLiteral(".png"));
    if (image.isNull()) return nullptr;
    image.setDevicePixelRatio(1.0);
    const QSize logical = image.size();
    const double dpr = ScreenPixelRatio();
    // Drawn twice as fine for HiDPI screens, where there is such a drawing.
    if (dpr > 1.0) {
        QImage fine(base + QStringLiteral("@2x.png"));
        if (!fine.isNull()) {
            fine.setDevicePixelRatio(2.0);
            image = fine;
        }
    }
    if (image.devicePixelRatio() != dpr) {
        QSize pixels(static_cast<int>(std::lround(logical.width() * dpr)),
                     static_cast<int>(std::lround(logical.height() * dpr)));
        image = image.scaled(pixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        image.setDevicePixelRatio(dpr);
    }
    return Picture::FromImage(image);
}

std::shared_ptr<Picture> CachedPicture(Integer id) {
    static auto* caselle = new std::map<Integer, std::shared_ptr<Picture>>;
    std::shared_ptr<Picture>& slot = (*caselle)[id];
    if (!slot) slot = GetPicture(id);
    return slot;
}

}  // namespace fw
