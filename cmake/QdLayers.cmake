# The engine's layers and the include folders each may see
# (docs/architecture.md).
#
# Sources include headers by layer folder ("Foundation/X.h", "Matrix/X.h",
# "Statistics/X.h", "SeriesCompute/X.h"). Each layer gets an include root of
# its own in the build tree holding links to its folders only, and a target
# of layer N is given the roots of layers 1..N: a header of a higher layer is
# simply not found from a lower one.
#
#   1 foundation   Foundation     -> Libraries/Foundation
#   2 datamodel    Matrix         -> INCLUDE/Matrix
#   3 numerics     Statistics     -> Libraries/Statistics
#   4 compute      SeriesCompute  -> INCLUDE/SeriesCompute
#                  MatrixCompute  -> INCLUDE/MatrixCompute
#   (5 automation: ActiveX/QDInterface, which sees every layer)

set(QD_LAYERS foundation datamodel numerics compute)
set(QD_LAYER_foundation Foundation=Libraries/Foundation)
set(QD_LAYER_datamodel Matrix=INCLUDE/Matrix)
set(QD_LAYER_numerics Statistics=Libraries/Statistics)
set(QD_LAYER_compute SeriesCompute=INCLUDE/SeriesCompute MatrixCompute=INCLUDE/MatrixCompute)

set(QD_LAYER_ROOT ${CMAKE_BINARY_DIR}/layers)
foreach(layer IN LISTS QD_LAYERS)
  file(MAKE_DIRECTORY ${QD_LAYER_ROOT}/${layer})
  foreach(entry IN LISTS QD_LAYER_${layer})
    string(REPLACE "=" ";" pair ${entry})
    list(GET pair 0 name)
    list(GET pair 1 folder)
    if(NOT IS_SYMLINK ${QD_LAYER_ROOT}/${layer}/${name})
      file(CREATE_LINK ${CMAKE_SOURCE_DIR}/${folder} ${QD_LAYER_ROOT}/${layer}/${name} SYMBOLIC)
    endif()
  endforeach()
endforeach()

# qd_layer(<target> <layer>): the target belongs to <layer>; it and whatever
# links it see the include roots of <layer> and of every layer below.
function(qd_layer target layer)
  list(FIND QD_LAYERS ${layer} top)
  if(top LESS 0)
    message(FATAL_ERROR "qd_layer: unknown layer '${layer}'")
  endif()
  foreach(i RANGE ${top})
    list(GET QD_LAYERS ${i} below)
    target_include_directories(${target} PUBLIC ${QD_LAYER_ROOT}/${below})
  endforeach()
endfunction()
