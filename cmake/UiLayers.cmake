# The dialog model folders as layers: the shared dialog conventions at the bottom, the feature
# folders above them, the main window on top, which alone knows every command. A feature
# folder never includes the main window, and no model includes a front end (qt, cli,
# exports). Run as: cmake -DSOURCE_DIR=<src> [-DSTAMP=<file>] -P UiLayers.cmake
set(layers common trade records analysis account main)
set(parent "ui/")
set(forbidden qt cli exports)
set(order "common <- trade <- records <- analysis <- account <- main")
include(${CMAKE_CURRENT_LIST_DIR}/FolderLayers.cmake)
