# Each core subsystem is one static library made of the .cpp files of its folder,
# so adding a source file needs no edit of a CMakeLists.txt.
function(redewerk_core_library name dir)
    file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/*.cpp)
    if(sources)
        add_library(${name} STATIC ${sources})
        target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
        target_link_libraries(${name} PUBLIC ${ARGN})
    else()
        add_library(${name} INTERFACE)
        target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR}/src)
        target_link_libraries(${name} INTERFACE ${ARGN})
    endif()
endfunction()

# One GoogleTest program per test folder; every *_test.cpp in it belongs to it.
function(redewerk_test_program name dir)
    file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/*.cpp)
    if(NOT sources)
        return()
    endif()
    add_executable(${name} ${sources})
    target_link_libraries(${name} PRIVATE ${ARGN} GTest::gtest GTest::gtest_main GTest::gmock)
    target_include_directories(${name} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/src)
    target_compile_definitions(${name} PRIVATE
        REDEWERK_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
        REDEWERK_TEST_DATA_DIR="${CMAKE_CURRENT_SOURCE_DIR}/data"
        REDEWERK_BINARY_DIR="${PROJECT_BINARY_DIR}")
    # A cross-built program can only list its tests under its emulator (Wine), which the
    # build itself should not need: there the tests are listed when CTest runs.
    if(CMAKE_CROSSCOMPILING)
        set(discovery PRE_TEST)
    else()
        set(discovery POST_BUILD)
    endif()
    gtest_discover_tests(${name}
        WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
        PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen"
        DISCOVERY_TIMEOUT 60
        DISCOVERY_MODE ${discovery})
endfunction()
