#include "app/clock_app.h"

int main(int argc, char** argv) {
    return vel::run_clock(argc, argv);
}
