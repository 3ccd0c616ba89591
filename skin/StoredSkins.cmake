# Stored skins and the skins installed beside the program.
#
# Each stored skin's folder skins/<Folder>/ is packed by the project's own packer into
# <build>/storedskins/<Folder>.mvz (options entry first, then the images in name order) and
# embedded in the storedskins library. The extra skins of skins/extra/ go into
# <build>/QuibbletonSkins/ beside the program: as packages, or as skin folders for the names
# in QUIBBLETON_FOLDER_SKINS. Folders whose sources are missing are skipped.

set(QUIBBLETON_STORED_SKINS
    "Desert (internal)=Desert"
    "Golden (internal)=Golden"
    "Office2003 (internal)=Office2003"
    "Office2007 Black (internal)=Office2007Black"
    "Office2007 Blue (internal)=Office2007Blue")
set(QUIBBLETON_FOLDER_SKINS Marble)

set(skins_source ${CMAKE_SOURCE_DIR}/skins)
set(stored_out ${CMAKE_BINARY_DIR}/storedskins)
set(installed_out ${CMAKE_BINARY_DIR}/QuibbletonSkins)
file(MAKE_DIRECTORY ${stored_out} ${installed_out})
# A skin folder that appears or changes makes the build configure again.
file(GLOB_RECURSE skin_source_files CONFIGURE_DEPENDS ${skins_source}/*)

# The packer that builds the stored skins cannot be the finished tool, which embeds them.
set(skin_packer quibbleton-skin-bootstrap)

function(quibbleton_pack_skin folder output)
  file(GLOB files ${folder}/*)
  add_custom_command(OUTPUT ${output}
                     COMMAND ${skin_packer} pack ${folder} ${output}
                     DEPENDS ${skin_packer} ${files}
                     COMMENT "Packing skin ${folder}"
                     VERBATIM)
endfunction()

set(stored_declarations "")
set(stored_entries "")
set(stored_sources "")
set(stored_count 0)
foreach(pair IN LISTS QUIBBLETON_STORED_SKINS)
  string(REPLACE "=" ";" pair_parts "${pair}")
  list(GET pair_parts 0 skin_name)
  list(GET pair_parts 1 skin_folder)
  if(NOT EXISTS ${skins_source}/${skin_folder}/Options.dat)
    message(STATUS "Stored skin ${skin_name}: skins/${skin_folder} not found, left out")
    continue()
  endif()
  set(package ${stored_out}/${skin_folder}.mvz)
  set(source ${stored_out}/${skin_folder}.cpp)
  set(symbol "quibbleton_stored_${skin_folder}")
  quibbleton_pack_skin(${skins_source}/${skin_folder} ${package})
  add_custom_command(OUTPUT ${source}
                     COMMAND ${CMAKE_COMMAND} -DINPUT=${package} -DOUTPUT=${source} -DSYMBOL=${symbol}
                             -P ${CMAKE_CURRENT_LIST_DIR}/storedskins/EmbedBytes.cmake
                     DEPENDS ${package} ${CMAKE_CURRENT_LIST_DIR}/storedskins/EmbedBytes.cmake
                     VERBATIM)
  list(APPEND stored_sources ${source})
  string(APPEND stored_declarations
         "extern const unsigned char ${symbol}[];\nextern const std::size_t ${symbol}_size;\n")
  string(APPEND stored_entries "    TStoredSkinPackage{\"${skin_name}\", {${symbol}, ${symbol}_size}},\n")
  math(EXPR stored_count "${stored_count} + 1")
endforeach()

set(QUIBBLETON_STORED_DECLARATIONS "#include <cstddef>\n\n${stored_declarations}")
set(QUIBBLETON_STORED_ENTRIES "${stored_entries}")
set(QUIBBLETON_STORED_COUNT ${stored_count})
configure_file(${CMAKE_CURRENT_LIST_DIR}/storedskins/StoredSkinPackages.cpp.in
               ${stored_out}/StoredSkinPackages.cpp @ONLY)
add_library(storedskins STATIC ${stored_out}/StoredSkinPackages.cpp ${stored_sources})
target_include_directories(storedskins PUBLIC ${CMAKE_SOURCE_DIR})

# Skins installed beside the program.
set(installed_outputs "")
file(GLOB extra_dirs LIST_DIRECTORIES true ${skins_source}/extra/*)
foreach(dir IN LISTS extra_dirs)
  if(NOT IS_DIRECTORY ${dir} OR NOT EXISTS ${dir}/Options.dat)
    continue()
  endif()
  get_filename_component(skin_name ${dir} NAME)
  if(skin_name IN_LIST QUIBBLETON_FOLDER_SKINS)
    file(GLOB files ${dir}/*)
    set(stamp ${CMAKE_BINARY_DIR}/storedskins/${skin_name}.copied)
    add_custom_command(OUTPUT ${stamp}
                       COMMAND ${CMAKE_COMMAND} -E rm -rf ${installed_out}/${skin_name}
                       COMMAND ${CMAKE_COMMAND} -E copy_directory ${dir} ${installed_out}/${skin_name}
                       COMMAND ${CMAKE_COMMAND} -E touch ${stamp}
                       DEPENDS ${files}
                       COMMENT "Copying skin folder ${skin_name}"
                       VERBATIM)
    list(APPEND installed_outputs ${stamp})
    install(DIRECTORY ${dir}/ DESTINATION ${QUIBBLETON_INSTALL_FOLDER}/QuibbletonSkins/${skin_name})
  else()
    quibbleton_pack_skin(${dir} ${installed_out}/${skin_name}.mvz)
    list(APPEND installed_outputs ${installed_out}/${skin_name}.mvz)
    install(FILES ${installed_out}/${skin_name}.mvz DESTINATION ${QUIBBLETON_INSTALL_FOLDER}/QuibbletonSkins)
  endif()
endforeach()
add_custom_target(quibbleton_skins ALL DEPENDS ${installed_outputs})
