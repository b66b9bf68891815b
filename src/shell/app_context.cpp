#include "shell/app_context.h"

AppContext& App() {
    static AppContext context;
    return context;
}
