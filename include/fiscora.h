/* fiscora.h: the C interface of libfiscora.so, Fiscora's investment ledger.
 *
 * A quote terminal (the host) loads the library, may choose the data folder and hand over a
 * quote callback, then opens the ledger window as often as the user asks:
 *
 *     SetPrivateInvestDir(folder);       optional: where the accounts are kept
 *     RegisterInvestGPInfoHq(quotes);    optional: stock names and prices
 *     PopupInvestDlg();                  returns when the user closes the window
 *
 * Build a host with   cc host.c $(pkg-config --cflags --libs fiscora)
 * or load the library at run time with dlopen("libfiscora.so.1", ...).
 *
 * Threading: everything happens on the thread that calls PopupInvestDlg. The window is
 * modal and runs its own event loop there; the library starts no threads and calls the
 * quote callback synchronously on that thread while it fills its lists. Do not call the
 * three functions from another thread while a window is open.
 *
 * Text the host hands over (folder, stock names) is passed through as bytes; stock names
 * are GBK, as the data files keep them.
 */
#ifndef FISCORA_H
#define FISCORA_H

#if defined(__GNUC__)
#define FISCORA_API __attribute__((visibility("default")))
#else
#define FISCORA_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* Size of the buffer the quote callback fills with a stock's name: at most 11 bytes of
 * GBK text and the terminating NUL. */
#define FISCORA_STOCK_NAME_SIZE 12

/* Size of the library's data folder buffer: a folder of at most 259 bytes and the NUL. */
#define FISCORA_DATA_DIR_SIZE 260

/* The host's quote function, called by the library to learn a stock's name or prices.
 *
 *   code          six ASCII digits and a NUL, owned by the library, valid during the call.
 *   market        0 Shenzhen, 1 Shanghai, -1 when the library's market text is neither.
 *   nameOut       NULL, or a FISCORA_STOCK_NAME_SIZE-byte buffer owned by the library: the
 *                 host writes the stock's short name into it, GBK, NUL-terminated.
 *   latestOut     NULL, or where the host stores the latest price.
 *   prevCloseOut  NULL, or where the host stores the previous day's close.
 *
 * The library asks either for the name (nameOut alone) or for the prices (the two price
 * pointers alone). Return nonzero when the stock is known and the non-null outputs are
 * filled, 0 otherwise. A latest price of 0.001 or less stands for "no trade yet today": the
 * previous close is shown instead. */
typedef long (*FiscoraQuoteCallback)(const char* code, short market, char* nameOut,
                                     float* latestOut, float* prevCloseOut);

/* Opens Fiscora's main window, modal on the calling thread, and returns when the user
 * closes it. Call it as often as the user asks; every call starts with all accounts logged
 * out. A Qt host's QApplication is used; for any other host the library makes one for the
 * duration of the call. The data folder is created (one level) when it is missing; the fee
 * table trdpara.dat is read from, and written to, the current directory. */
FISCORA_API void PopupInvestDlg(void);

/* Hands over the quote callback, replacing any earlier one; NULL turns quotes off (names
 * stay empty, prices are 0; the ledger itself works without quotes). The library keeps only
 * the pointer: the function must stay callable until the library is unloaded or another
 * callback is registered. Takes effect at the next lookup. */
FISCORA_API void RegisterInvestGPInfoHq(FiscoraQuoteCallback callback);

/* Chooses the data folder that holds the account registry pinfo.dat and the ledgers
 * NAME.da0. `path` is a NUL-terminated folder name ending with '/': file names are appended
 * to it as they are, without a separator. The library copies at most
 * FISCORA_DATA_DIR_SIZE - 1 bytes and only reads the buffer, which stays the host's; NULL
 * is ignored. Without this call the folder is "invest/" below the current directory at
 * the time the library was loaded. Takes effect at the next PopupInvestDlg. */
FISCORA_API void SetPrivateInvestDir(char* path);

#ifdef __cplusplus
}
#endif

#endif /* FISCORA_H */
