#include "ui/resources.h"

#include <QtGlobal>

// Q_INIT_RESOURCE must be used outside any namespace.
static void initVantrelResources()
{
    Q_INIT_RESOURCE(vantrel);
}

namespace vantrel::ui {

void loadResources()
{
    static const bool loaded = [] {
        initVantrelResources();
        return true;
    }();
    (void)loaded;
}

}  // namespace vantrel::ui
