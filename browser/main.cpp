#include "browser/app/modSubMain.h"

int main(int argc, char **argv)
{
    return modSubMain::Main(argc, argv);
}
