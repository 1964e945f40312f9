# The fuzz targets and what each links; shared by the libFuzzer build (fuzz/)
# and the corpus replay tests (tests/fuzz/).
set(VELMAR_FUZZ_TARGETS ini lang data_file freq tone symbol clone_protocol)

function(velmar_fuzz_target_setup exe target)
  set(libs velmar_model)
  if(target STREQUAL "clone_protocol")
    set(libs velmar_radio)
  endif()
  find_package(Threads REQUIRED)
  target_link_libraries(${exe} PRIVATE velmar_common ${libs} Threads::Threads)
  target_include_directories(${exe} PRIVATE ${PROJECT_SOURCE_DIR}/fuzz)
  target_compile_definitions(${exe} PRIVATE VELMAR_RESOURCE_DIR="${PROJECT_SOURCE_DIR}/resources")
endfunction()
