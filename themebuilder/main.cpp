#include "themebuilder/PrismelApp.h"

int main(int argc, char **argv)
{
    return prismel::run(argc, argv);
}
