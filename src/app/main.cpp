#include "submain.h"

int main(int argc, char *argv[])
{
    return SubMain::Main(argc, argv);
}
