#include "gui/kel_app.h"

int main(int argc, char** argv) {
    orvandel::CKelApp app;
    return app.Run(argc, argv);
}
