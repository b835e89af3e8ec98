# The core folders as layers: a core file includes its own folder and those below it, never
# one above it nor a front end (ui, qt, cli, exports). The order, bottom first, is the one
# docs/design.md draws. Run as: cmake -DSOURCE_DIR=<src> [-DSTAMP=<file>] -P CoreLayers.cmake
set(layers records host store engine output)
set(parent "")
set(forbidden ui qt cli exports)
set(order "records <- host <- store <- engine <- output")
include(${CMAKE_CURRENT_LIST_DIR}/FolderLayers.cmake)
