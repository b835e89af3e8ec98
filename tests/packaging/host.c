/* The smallest host: hands the library a data folder and a quote callback, then prints the
 * file the library was loaded from. Built with nothing but pkg-config's flags, as C and as
 * C++:  host DATA_FOLDER */
#ifndef _GNU_SOURCE
#define _GNU_SOURCE
#endif
#include <dlfcn.h>
#include <fiscora.h>
#include <stdio.h>
#include <string.h>

/* Knows one stock. The library asks for the name or for the prices. */
static long quotes(const char* code, short market, char* nameOut, float* latestOut,
                   float* prevCloseOut) {
    if (strcmp(code, "600036") != 0 || market != 1) return 0;
    if (nameOut != NULL) {
        memset(nameOut, 0, FISCORA_STOCK_NAME_SIZE);
        strncpy(nameOut, "CMB", FISCORA_STOCK_NAME_SIZE - 1);
    }
    if (latestOut != NULL) *latestOut = 12.5f;
    if (prevCloseOut != NULL) *prevCloseOut = 12.0f;
    return 1;
}

int main(int argc, char** argv) {
    char folder[FISCORA_DATA_DIR_SIZE];
    void (*setFolder)(char*) = SetPrivateInvestDir;
    void* address;
    Dl_info library;

    if (argc != 2 || snprintf(folder, sizeof folder, "%s/", argv[1]) >= (int)sizeof folder) {
        fprintf(stderr, "usage: host DATA_FOLDER\n");
        return 2;
    }
    SetPrivateInvestDir(folder);
    RegisterInvestGPInfoHq(quotes);
    RegisterInvestGPInfoHq(NULL);

    memcpy(&address, &setFolder, sizeof address);
    if (dladdr(address, &library) == 0 || library.dli_fname == NULL) return 1;
    printf("%s\n", library.dli_fname);
    return 0;
}
