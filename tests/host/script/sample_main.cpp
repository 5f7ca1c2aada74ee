#include "host/script/script_host.h"

int main(int argc, char** argv)
{
    return script_host_main(argc, argv);
}
