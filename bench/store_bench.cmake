quillmark_add_bench(store_bench quillmark_platform)
# The benchmark saves the same sample contacts as the store's tests.
target_sources(store_bench PRIVATE ${PROJECT_SOURCE_DIR}/tests/platform/contacts/StoreSampleContacts.cpp)
target_include_directories(store_bench PRIVATE ${PROJECT_SOURCE_DIR}/tests/platform/contacts)
