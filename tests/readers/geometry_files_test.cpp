// Kelvorin - desktop workbench for vibrational calculations.
#include "readers/geometry_files.hpp"

#include "testing.hpp"

#include <cmath>
#include <fstream>

namespace kel::testing {
namespace {

/// One read in a fresh folder: the input is written or copied there first.
struct Read {
  TempDir dir;
  std::unique_ptr<App> app = newApp();
  std::string path;

  void text(const std::string& name, std::string_view body) {
    path = dir.write(name, body);
    fmtGeo(*app, path);
  }
  void copy(const std::filesystem::path& from, const std::string& name) {
    path = dir.copy(from, name);
    fmtGeo(*app, path);
  }
  /// Reads a copy of the shared real file rel (named as, or as itself); empty when absent.
  std::filesystem::path real(const std::string& rel, const std::string& as = {}) {
    auto src = shared(rel);
    if (!src.empty()) copy(src, as.empty() ? src.filename().string() : as);
    return src;
  }
  const ModKel& m() const { return app->m; }
  const std::string& text3() const { return app->frm.Text3.text; }
  const std::string& log() const { return app->frm.Text2.text; }
  std::string scratch() const { return slurp(dir.path() / "skrK.geo"); }
  /// Coordinate k of atom i relative to atom 1 (the centring does not change it).
  double rel(int i, int k) const { return m().Xyz(i, k) - m().Xyz(1, k); }
};

// ------------------------------------------------------------ every real file of the data set

struct RealCase {
  const char* name;
  const char* rel;  // below the shared data folder
  const char* as;   // name of the copy ("" keeps the file name)
  int count;        // atoms read
  int firstZ, lastZ;
  double d[3];        // last atom minus first atom, from the file's own numbers
  const char* text3;  // expected message; "" means name + " all is good"
};

class RealFiles : public ::testing::TestWithParam<RealCase> {};

TEST_P(RealFiles, ReadsAtomsElementsAndCoordinates) {
  const RealCase& c = GetParam();
  Read r;
  KEL_NEED_SHARED(r.real(c.rel, c.as));
  std::string expected = *c.text3 ? std::string(c.text3) : r.path + " all is good";
  EXPECT_EQ(r.text3(), expected);
  EXPECT_EQ(r.app->readFailed, *c.text3 != '\0');
  if (c.count == 0) {
    EXPECT_EQ(r.m().NAt, 0);
    return;
  }
  ASSERT_EQ(r.m().NAt, c.count);
  EXPECT_EQ(r.m().AtZ(1), c.firstZ);
  EXPECT_EQ(r.m().AtZ(c.count), c.lastZ);
  for (int k = 1; k <= 3; ++k) EXPECT_NEAR(r.rel(c.count, k), c.d[k - 1], 2e-6) << "axis " << k;
  double sum[4] = {0, 0, 0, 0};
  for (int i = 1; i <= c.count; ++i)
    for (int k = 1; k <= 3; ++k) sum[k] += r.m().Xyz(i, k);
  for (int k = 1; k <= 3; ++k) EXPECT_NEAR(sum[k] / c.count, 0.0, 1e-9);
}

// clang-format off
const RealCase Real[] = {
  // Gaussian outputs read as "other" extensions: the last table with a column header.
  {"g03_zmatrix_dummy", "gaussian/g03/NIST_CCCBDB_1himidaz_m1b1.out", "", 6, 6, 1, {-0.893728, -0.515994, -0.345806}, ""},
  {"g03_tables_without_type", "gaussian/g03/dvb_gopt_symmfollow.log", "", 20, 6, 1, {-2.106538, -0.555129, 0}, ""},
  {"g03_dvb_ir", "gaussian/g03/dvb_ir.out", "", 20, 6, 1, {2.095291, 0.596920, 0}, ""},
  {"g03_translation_vector", "gaussian/g03/maheshkumar.log", "", 26, 6, 1, {0.813933, 3.549284, -1.579015}, ""},
  {"g03_five_jobs", "gaussian/g03/methane_61-65_2.log", "", 5, 6, 1, {0.628460, -0.628460, -0.628460}, ""},
  {"g03_isotopes", "gaussian/g03/methane_65_3.out", "", 5, 6, 1, {0.628460, -0.628460, -0.628460}, ""},
  {"g09_one_atom", "gaussian/g09/Al_298K.out", "", 1, 13, 13, {0, 0, 0}, ""},
  {"g09_hpmodes", "gaussian/g09/dvb_ir.out", "", 20, 6, 1, {2.095291, -0.596920, 0}, ""},
  {"g09_revA02", "gaussian/g09/dvb_ir_revA.02.out", "", 20, 6, 1, {2.095291, 0.596920, 0}, ""},
  {"g09_raman", "gaussian/g09/dvb_raman.out", "", 20, 6, 1, {2.095291, 0.596920, 0}, ""},
  {"g09_irc_crlf", "gaussian/g09/irc_point.log", "", 6, 6, 17, {-1.216463, -1.062179, 1.840632}, ""},
  {"g09_methylaniline", "gaussian/g09/methylaniline.out", "", 17, 6, 1, {6.225585, 0.204564, -0.032564}, ""},
  {"g16_aminox", "gaussian/g16/aminox_cat_conf212_S.log", "", 24, 1, 1, {2.398349, -0.948343, -0.291181}, ""},
  {"g16_hpmodes", "gaussian/g16/dvb_ir_G16C01.out", "", 20, 6, 1, {2.095320, 0.597080, 0}, ""},
  {"g16_raman", "gaussian/g16/dvb_raman.out", "", 20, 6, 1, {2.095291, 0.596920, 0}, ""},
  {"g16_ethane_ends_with_methane", "gaussian/g16/ethane.out", "", 5, 6, 1, {0.617765, -0.617765, -0.617765}, ""},
  {"g16_dipole_block", "gaussian/g16/methane_normal.out", "", 5, 6, 1, {0.624256, 0.800659, 0.418311}, ""},
  {"g16_mp2_dipole_block", "gaussian/g16/mp2_avdz_freq_tight.log", "", 21, 6, 1, {-5.182330, 0.057925, 0.431445}, ""},
  {"g16_water_nbo", "gaussian/g16/water_neutral_nbo_opt_freq.out", "", 3, 8, 1, {0, -0.758039, -0.635656}, ""},
  {"g98_zmatrix_h2", "gaussian/g98/test_H2.log", "", 2, 1, 1, {0, 0, -2.5}, ""},
  {"generated_12", "generated/gen_n12_raman_masses.log", "", 12, 6, 1, {3.792265, 0.864511, 0.901342}, ""},
  {"generated_480", "generated/gen_n480_raman_masses_opt3.log", "", 480, 6, 1, {-35.117836, 14.762393, -10.15326}, ""},
  // PDB
  {"pdb_no_element_column", "pdb/00T_nonstandard_het.pdb", "", 22, 7, 1, {-0.686, -0.716, 0.187}, ""},
  {"pdb_conect_to_atom_records", "pdb/1ps3_zn.pdb", "", 1, 30, 30, {0, 0, 0}, "error: CONECT   11   45"},
  {"pdb_heme_names", "pdb/hemo.pdb", "", 73, 6, 1, {8.577, -0.956, -0.763}, ""},
  {"pdb_atom_records_only", "pdb/indomethacin-dimer.pdb", "", 0, 0, 0, {0, 0, 0}, "connections missed"},
  {"pdb_large_serials", "pdb/odd-start.pdb", "", 20, 6, 6, {-5.053, -2.034, -1.774}, ""},
  {"pdb_water", "pdb/water_single.pdb", "", 3, 1, 1, {-1.568, 0, 0}, ""},
  {"pdb_first_model", "pdb/water_trajectory.pdb", "", 3, 8, 1, {-0.477, -0.150, 0.826}, ""},
  {"ent_extension", "pdb/water_single.pdb", "water.ent", 3, 1, 1, {-1.568, 0, 0}, ""},
  // molfiles
  {"mol_deuterium", "mol/D_in_CTAB.mol", "", 3, 6, 2, {1.4286, 0.0002, 0}, ""},
  {"mol_ketcher", "mol/alanine.mol", "", 7, 7, 1, {-1, 1, 0}, ""},
  {"mol_chemdraw_3d", "mol/atropWith3d_8602.mol", "", 14, 6, 6, {-9.1982, -4.7192, 0}, ""},
  {"mol_openbabel", "mol/mol24.mol", "", 41, 6, 7, {-0.0317, 6.9014, 5.4734}, ""},
  {"mol_halogens", "mol/stereo3d_1.mol", "", 5, 9, 53, {2.1719, -0.8409, -1.6625}, ""},
  // mol2
  {"mol2_zinc", "mol2/caffeine.mol2", "", 24, 6, 1, {0.5883, -1.9948, 4.9954}, ""},
  {"mol2_gaussview_narrow", "mol2/chloride.mol2", "", 1, 17, 17, {0, 0, 0}, ""},
  {"mol2_openbabel", "mol2/culgi_01.mol2", "", 16, 6, 1, {3.6425, 1.661, 0.0582}, ""},
  {"mol2_tabs", "mol2/github296_3d.mol2", "", 19, 6, 1, {-1.0439, 3.5381, 2.1593}, ""},
  {"mol2_opls_type_and_crysin", "mol2/li.mol2", "", 1, 3, 3, {0, 0, 0}, ""},
  {"mol2_tripos", "mol2/lysozyme-ligand-tripos.mol2", "", 18, 6, 1, {3.705, 3.036, -0.029}, ""},
  {"mol2_upper_case_names", "mol2/silioh3.mol2", "", 8, 14, 1, {2.3201, -0.4029, 0.0538}, ""},
  {"mol2_named_mol", "mol2/caffeine.mol2", "caffeine.mol", 24, 6, 1, {0.5883, -1.9948, 4.9954}, ""},
  // job files
  {"gjf_gaussview", "gjf/14-acetone_pcSseg-2.gjf", "", 10, 6, 1, {-0.111649, -3.416188, 0.66126}, ""},
  {"gjf_zmatrix", "gjf/dvb_raman.gjf", "", 0, 0, 0, {0, 0, 0}, "decimal dots missed ..."},
  {"com_fragments", "gjf/input_gaussian_bsse.com", "", 9, 8, 1, {2.978626, -1.395028, -1.074864}, ""},
  {"gjf_methane", "gjf/methane.gjf", "", 5, 6, 1, {-1.07, 0.000013, 0}, ""},
  {"gjf_atomic_numbers", "gjf/pcseg_dcm.gjf", "", 5, 6, 17, {0, -0.707107, -0.707107}, ""},
  // coordinate lists
  {"xyz_mixed_frames", "xyz/dataset_blanklines.xyz", "", 3, 8, 1, {-0.476340, -0.149879, 0.825589}, ""},
  {"xyz_integer_coordinates", "xyz/h2.xyz", "", 2, 1, 1, {0, 0, 0.7726}, ""},
  {"xyz_extended", "xyz/s66_4114_02WaterMeOH.xyz", "", 9, 8, 1, {2.978625538, -1.39502748, -1.074864494}, ""},
  {"xyz_trailing_blank_lines", "xyz/spaces.xyz", "", 64, 6, 8, {-0.1132, 0.7976, 0.1355}, ""},
  {"xyz_helium_is_not_held", "xyz/trajectory.xyz", "", 0, 0, 0, {0, 0, 0}, "unknown atom: He"},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Data, RealFiles, ::testing::ValuesIn(Real),
                         [](const auto& row) { return std::string(row.param.name); });

// Counts and messages of these files are rows of the table above.
TEST(RealFileDetails, ElementsByTypeOrColumnAndConectBySerial) {
  Read si, heme, odd;
  KEL_NEED_SHARED(si.real("mol2/silioh3.mol2"));
  heme.real("pdb/hemo.pdb");
  odd.real("pdb/odd-start.pdb");
  EXPECT_EQ(si.m().AtSym(1), "Si");  // types give silicon and lithium
  EXPECT_EQ(si.m().AtSym(2), "Li");
  EXPECT_EQ(si.m().AtLab(3), " O");
  int fe = 0, caNa = 0;  // heme names take the element column
  for (int i = 1; i <= heme.m().NAt; ++i) {
    fe += heme.m().AtSym(i) == "Fe";
    caNa += heme.m().AtSym(i) == "Ca" || heme.m().AtSym(i) == "Na";
  }
  EXPECT_EQ(fe, 1);
  EXPECT_EQ(caNa, 0);
  // CONECT 1 6 44 45 28: bonds of atom 1 by serial.
  EXPECT_EQ(heme.m().NBond(1), 4);
  EXPECT_EQ(heme.m().Mpo(1, 6), 1);
  EXPECT_EQ(heme.m().Mpo(1, 28), 1);
  // CONECT 1982 1983 1992 names atoms by serial. (The read ends by deriving the matrix from
  // distances, which gives the same bonds here.)
  EXPECT_EQ(odd.m().Mpo(1, 2), 1);
  EXPECT_EQ(odd.m().Mpo(1, 11), 1);
}

TEST(RealFileDetails, DipoleBlocksAndRemarksAreNotTables) {
  Read r;
  KEL_NEED_SHARED(r.real("gaussian/g16/mp2_avdz_freq_tight.log", "mp2.log"));
  // Exactly two tables (Input and Standard orientation) are counted.
  EXPECT_NE(r.log().find(" 2orient"), std::string::npos);
  EXPECT_EQ(r.log().find(" 3orient"), std::string::npos);
}

TEST(RealFileDetails, ZmatrixDummyRowsArePassedOver) {
  auto src = shared("gaussian/g03/NIST_CCCBDB_1himidaz_m1b1.out");
  KEL_NEED_SHARED(src);
  // Only the first Z-Matrix table (7 rows, the third a dummy atom) is kept.
  std::string text = slurp(src);
  auto start = text.find("Z-Matrix orientation:");
  ASSERT_NE(start, std::string::npos);
  auto end = text.find(" Distance matrix", start);
  Read r;
  r.text("zmat.out", text.substr(0, end));
  ASSERT_EQ(r.m().NAt, 6);
  EXPECT_EQ(r.m().AtZ(3), 7);  // row 4: the nitrogen after the dummy row
  EXPECT_NEAR(r.rel(3, 3), 2.6025, 1e-9);
  EXPECT_NEAR(r.rel(2, 3), 1.4678, 1e-9);
}

// ------------------------------------------------------------ broken fixtures, one per message

struct BadFile {
  const char* name;
  const char* file;      // below tests/data, or the name written when body is given
  const char* body;      // nullptr: the fixture file
  const char* message;   // "{path}" stands for the name read
  int atoms;             // atoms kept
  const char* log = "";  // a line the log must hold
};

class BadFiles : public ::testing::TestWithParam<BadFile> {};

TEST_P(BadFiles, GiveTheirMessageAndFailTheRead) {
  const BadFile& c = GetParam();
  Read r;
  if (c.body)
    r.text(c.file, c.body);
  else
    r.copy(fixture(c.file), std::filesystem::path(c.file).filename().string());
  std::string expected = c.message;
  if (auto p = expected.find("{path}"); p != std::string::npos) expected.replace(p, 6, r.path);
  EXPECT_EQ(r.text3(), expected);
  EXPECT_TRUE(r.app->readFailed);
  EXPECT_EQ(r.m().NAt, c.atoms);
  EXPECT_EQ(r.app->erraCount, 0) << r.app->frm.Text4.text;
  EXPECT_EQ(r.m().Sw(9), 0);
  EXPECT_TRUE(!*c.log || r.log().find(std::string("\n") + c.log + "\n") != std::string::npos);
}

#define HET "HETATM    1  C1  MOL     1       0.000   0.000   0.000\n"

// clang-format off
const BadFile BadFixtures[] = {
  {"row_gap", "geo/bad/gap.geo", nullptr, "{path}  Coordinate error  3: 1  1.0  0.0  0.0", 0},
  {"element_92", "geo/bad/element92.geo", nullptr, "{path}  atomic number outside 1..83: 92 in row 1", 0},
  // a stop leaves the model as it was: the first row is not kept either
  {"element_92_second_row", "x.geo", "t orient\n  X  Y  Z\n  1  6  0.0  0.0  0.0\n  2  92  1.0  0.0  0.0\n", "{path}  atomic number outside 1..83: 92 in row 2", 0},
  {"rows_not_from_one", "a.geo", "t orient\n  X  Y  Z\n  2  6  0.0  0.0  0.0\n  3  1  1.0  0.0  0.0\n", "{path}  no atom found in the file", 0},
  {"no_orient", "geo/bad/no_orient.geo", nullptr, "{path}  Missing the line orient", 0},
  {"no_orient_no_table", "x.geo", "nothing here\n", "{path}  Missing the line orient", 0},
  {"orn_missing_z", "orn/bad/missing_z.orn", nullptr, "{path}  Coordinate error  1: 0.0", 0},
  {"conect_first", "pdb/bad/conect_first.pdb", nullptr, "Missed the line HETATM in file {path}", 0},
  {"atom_records_then_conect", "a.pdb", "ATOM      1  C   MOL     1       0.000   0.000   0.000\nCONECT    1\n", "Missed the line HETATM in file {path}", 0},
  {"serial_zero", "pdb/bad/serial_zero.pdb", nullptr, "definition error:     0  C1  MOL     1       0.000   0.000   0.000", 0},
  {"no_conect", "pdb/bad/no_conect.pdb", nullptr, "connections missed", 1},
  // an unknown name ends the loop keeping the earlier atoms
  {"pdb_unknown_name", "a.pdb", HET "HETATM    2  QQ  MOL     1       1.000   0.000   0.000\n", "unknown atom: QQ", 1, "unknown atom: QQ"},
  {"mol_no_symbol", "mol/bad/no_symbol.mol", nullptr, "definition error: 0.0000    0.0000    0.0000", 0},
  {"mol_unknown", "mol/bad/unknown.mol", nullptr, "unknown atom: Q ", 0},
  {"mol_no_atom_line", "a.mol", "name\nprog\n\n  0  0  0  0  0  0            999 V2000\nM  END\n", "decimal dots missed ...", 0},
  {"mol2_no_atoms", "mol2/bad/no_atoms.mol2", nullptr, "decimal dots missed ...", 0},
  {"mol2_missing_type", "a.mol2", "@<TRIPOS>ATOM\n1 C1 0.000 1.000 2.000\n", "definition error: 0.000 1.000 2.000", 0},
  {"gjf_zmatrix", "gjf/bad/zmatrix.gjf", nullptr, "decimal dots missed ...", 0},
  {"gjf_no_route", "gjf/bad/no_route.gjf", nullptr, "command line missed: # ", 0},
  {"gjf_unknown_before_charge_line", "w.gjf", "# hf\n Xx                 0.00000000    0.00000000    0.11730000\n", "unknown atom: XX", 0},
  {"xyz_single_blank", "xyz/bad/single_blank_y.xyz", nullptr, "{path}  Coordinate error  2: 0.5", 0},
  {"xyz_missing_separator", "a.xyz", "8  0.0  0.0  0.0\n1  1.0 0.0 0.0\n", "{path}  Coordinate error  2: 1.0 0.0 0.0", 0},
  {"xyz_unknown_symbol", "xyz/bad/unknown_symbol.xyz", nullptr, "unknown atom: Xx", 0},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Fixtures, BadFiles, ::testing::ValuesIn(BadFixtures),
                         [](const auto& row) { return std::string(row.param.name); });

// ------------------------------------------------------------ good reads, one point each

struct GoodRead {
  const char* name;
  const char* file;
  const char* body;
  int atoms, firstZ;
  const char* logHas = "";    // "" for none
  const char* logLacks = "";  // "" for none
};

class GoodReads : public ::testing::TestWithParam<GoodRead> {};

TEST_P(GoodReads, AllIsGood) {
  const GoodRead& c = GetParam();
  Read r;
  r.text(c.file, c.body);
  EXPECT_EQ(r.text3(), r.path + " all is good");
  EXPECT_EQ(r.app->erraCount, 0) << r.app->frm.Text4.text;
  ASSERT_EQ(r.m().NAt, c.atoms);
  EXPECT_EQ(r.m().AtZ(1), c.firstZ);
  EXPECT_TRUE(!*c.logHas || r.log().find(c.logHas) != std::string::npos) << r.log();
  EXPECT_TRUE(!*c.logLacks || r.log().find(c.logLacks) == std::string::npos) << r.log();
}

// clang-format off
const GoodRead Goods[] = {
  {"kel_name_inside_a_structure_name", "w.kel.xyz", "8  0.0  0.0  0.0\n1  0.0  0.0  1.0\n", 2, 8},
  {"table_without_header_warns", "x.geo", "t orient\n  1  6  0.0  0.0  0.0\n  2  1  1.0  0.0  0.0\n", 2, 6, "\nthe line < X  Y  Z > missed \n"},
  {"centred_structure_logs_no_shift", "c.geo", "t orient\n  X  Y  Z\n  1  1  0.0  0.0  -0.37\n  2  1  0.0  0.0  0.37\n", 2, 1, "", "coordinate system moved by:"},
  {"conect_without_numbers_logged_and_skipped", "a.pdb", HET "HETATM    2  O1  MOL     1       1.200   0.000   0.000\nCONECT   x1    2\nCONECT\nCONECT    2    1\n", 2, 6, "connection error, atom no. X1    2"},
  // " H 1.0 0.0 0.0" is read by fields after the charge line; the third line follows
  {"gjf_short_line_by_fields", "w.gjf", "# hf\n\nt\n\n0 1\n C                  0.0    0.0    0.0\n H 1.0 0.0 0.0\n H                  0.0    1.0    0.0\n", 3, 6},
  // no charge line: only the column rule reads, and the first line's coordinates begin before column 15
  {"gjf_coordinates_after_column_14", "w.gjf", "# hf\nC      1.0 2.0 3.0\nH             1.0 2.0 3.0\n", 1, 1},
  {"xyz_only_the_first_frame", "a.xyz", "1\nf1\n8  0.0  0.0  0.0\n1\nf2\n1  5.0  5.0  5.0\n", 1, 8},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Inline, GoodReads, ::testing::ValuesIn(Goods),
                         [](const auto& row) { return std::string(row.param.name); });

TEST(Start, FolderNamesDoNotDecideTheKind) {
  Read r;
  std::filesystem::create_directory(r.dir.path() / "set.geo");
  r.path = (r.dir.path() / "set.geo" / "w.xyz").string();
  { std::ofstream(r.path) << "8  0.0  0.0  0.0\n1  0.0  0.0  1.0\n"; }
  fmtGeo(*r.app, r.path);
  EXPECT_EQ(r.m().NAt, 2);
  EXPECT_EQ(r.m().FilNam, (r.dir.path() / "set.geo" / "w").string());
}

// ------------------------------------------------------------ orientation tables

TEST(Orientation, StandardTableWithTypeColumnIsCentredAndShiftReported) {
  Read r;
  r.copy(fixture("geo/benzene_type.geo"), "benzene.geo");
  ASSERT_EQ(r.m().NAt, 12);
  EXPECT_EQ(r.text3(), r.path + " all is good");
  EXPECT_NEAR(r.m().Xyz(1, 1), 1.39, 1e-9);
  EXPECT_NEAR(r.m().Xyz(1, 2), 0.0, 1e-9);
  EXPECT_NEAR(r.m().Xyz(7, 1), 2.47, 1e-9);
  EXPECT_EQ(r.m().AtLab(7), " H");
  EXPECT_NE(r.log().find("coordinate system moved by:\n\n x = 1.000000 y = 2.000000 z = 3.000000"),
            std::string::npos)
      << r.log();
  // listing line of atom 1: 3 + 4 wide numbers, label, x y z and mass 12 wide
  EXPECT_NE(r.log().find("\n  1   6   C    1.390000    0.000000    0.000000   12.000000"),
            std::string::npos);
  EXPECT_EQ(r.scratch(), "");  // ".geo" writes no scratch copy
  EXPECT_EQ(r.m().NDof(0), 30);
  EXPECT_EQ(r.m().NDof(3), 33);
  EXPECT_NEAR(r.m().InvMas(21), 1 / 1.00782504, 1e-12);
}

TEST(Orientation, TableWithoutTypeColumnAndBackupName) {
  Read r;
  r.copy(fixture("geo/benzene_notype.geo"), "benzene.geo");
  ASSERT_EQ(r.m().NAt, 12);
  EXPECT_NEAR(r.m().Xyz(1, 1), 1.39, 1e-9);
  EXPECT_NEAR(r.m().Xyz(2, 2), 1.203775, 1e-6);
  Read bak;  // a backup name still reads as ".geo"
  bak.copy(fixture("geo/benzene_type.geo"), "benzene.geo.bak");
  ASSERT_EQ(bak.m().NAt, 12);
  EXPECT_EQ(bak.scratch(), "");
  EXPECT_EQ(bak.log().find("orient\n"), std::string::npos);
}

TEST(Orientation, OrnIsNotCentredAndLeavesACopy) {
  Read r;
  std::string body =
      "water   orient\n  X  Y  Z  \n  1   8  1.0  2.0  3.0\n  2   1  1.5  2.0  3.0\n";
  r.text("w.orn", body);
  ASSERT_EQ(r.m().NAt, 2);
  EXPECT_DOUBLE_EQ(r.m().Xyz(1, 1), 1.0);
  EXPECT_DOUBLE_EQ(r.m().Xyz(2, 3), 3.0);
  EXPECT_EQ(r.scratch(), body + "\ndotąd kopia pliku " + r.path + "\n");
  EXPECT_EQ(r.log().find("coordinate system moved by:"), std::string::npos);
}

TEST(Orientation, OtherExtensionKeepsTheLastTableAndCountsThem) {
  std::string t1 =
      " Input orientation:\n Number  Number  Type  X  Y  Z\n ---\n"
      "      1      6      0      0.0      0.0      0.0\n"
      "      2      1      0      1.0      0.0      0.0\n ---\n";
  std::string t3 =
      " Standard orientation:\n Number  Number  Type  X  Y  Z\n ---\n"
      "      1      8      0      0.0      0.0      1.0\n ---\n";
  Read r;
  r.text("job.out", t1 + t1 + t3);
  ASSERT_EQ(r.m().NAt, 1);
  EXPECT_EQ(r.m().AtZ(1), 8);
  EXPECT_NE(r.log().find(" 1orient\n 2orient\n 3orient\n-----"), std::string::npos) << r.log();
  EXPECT_EQ(
      linesOf(r.scratch()),
      (std::vector<std::string>{"data from file " + r.path, " Input orientation:", "  X  Y  Z  ",
                                "  1   8    0.000000    0.000000    0.000000"}));
}

/// The scratch copy of a read, read again as ".geo", gives the same atoms.
void expectScratchReadsBack(const Read& r) {
  ASSERT_GT(r.m().NAt, 0);
  std::filesystem::copy_file(r.dir.path() / "skrK.geo", r.dir.path() / "again.geo");
  auto second = newApp();
  fmtGeo(*second, (r.dir.path() / "again.geo").string());
  ASSERT_EQ(second->m.NAt, r.m().NAt) << second->frm.Text3.text;
  for (int i = 1; i <= r.m().NAt; ++i) {
    EXPECT_EQ(second->m.AtZ(i), r.m().AtZ(i));
    for (int k = 1; k <= 3; ++k) EXPECT_NEAR(second->m.Xyz(i, k), r.m().Xyz(i, k), 1e-6);
  }
}

TEST(Scratch, EveryForeignFormatReadsBackAsGeo) {
  {
    SCOPED_TRACE("orientation table under another name");
    Read r;
    r.copy(fixture("geo/benzene_type.geo"), "benzene.log");
    EXPECT_EQ(r.m().NAt, 12);
    expectScratchReadsBack(r);
  }
  for (const char* rel : {"pdb/water_single.pdb", "mol/alanine.mol", "mol2/caffeine.mol2",
                          "gjf/methane.gjf", "xyz/h2.xyz", "xyz/spaces.xyz"}) {
    SCOPED_TRACE(rel);
    Read r;
    KEL_NEED_SHARED(r.real(rel));
    expectScratchReadsBack(r);
  }
}

TEST(Orientation, MissingFieldIsACoordinateErrorAndKeepsThePreviousModel) {
  Read r;
  r.text("ok.geo", "t orient\n  X  Y  Z\n  1  6  0.0  0.0  0.0\n  2  1  1.0  0.0  0.0\n");
  ASSERT_EQ(r.m().NAt, 2);
  std::string bad = r.dir.write("bad.geo",
                                "t orient\n  X  Y  Z\n  1  8  5.0  5.0  5.0\n"
                                "  2  1  1.0 0.0 0.0\n");
  fmtGeo(*r.app, bad);
  EXPECT_EQ(r.text3(), bad + "  Coordinate error  2: 1.0 0.0 0.0");
  EXPECT_EQ(r.m().NAt, 2);
  EXPECT_EQ(r.m().AtZ(1), 6);
  EXPECT_TRUE(r.app->readFailed);
}

// ------------------------------------------------------------ PDB

TEST(Pdb, SignsAndThreeDigitCoordinatesReadWhole) {
  Read r;
  r.copy(fixture("pdb/signs.pdb"), "signs.pdb");
  ASSERT_EQ(r.m().NAt, 3);
  EXPECT_EQ(r.text3(), r.path + " all is good");
  EXPECT_NEAR(r.rel(2, 1), -12.345 - 1.0, 1e-9);
  EXPECT_NEAR(r.rel(3, 1), 123.456 - 1.0, 1e-9);
  EXPECT_NEAR(r.rel(3, 3), -100.5 - 2.0, 1e-9);
  EXPECT_EQ(r.m().AtSym(1), "Ca");  // name CA without element column
  EXPECT_EQ(r.m().AtSym(2), "C");   // C1
  EXPECT_EQ(r.m().AtSym(3), "H");   // HN19: first letter when the pair is no element
}

TEST(Pdb, OwnExportReadsBackWithBonds) {
  Read r;
  r.copy(fixture("pdb/own_export.pdb"), "own.pdb");
  ASSERT_EQ(r.m().NAt, 4);
  EXPECT_EQ(r.m().AtSym(1), "C");
  EXPECT_EQ(r.m().AtSym(2), "Cl");
  EXPECT_NEAR(r.rel(2, 1), -1000.5, 1e-9);
  EXPECT_NEAR(r.rel(3, 2), 1.089, 1e-9);
  EXPECT_EQ(r.text3(), r.path + " all is good");
  auto lines = linesOf(r.scratch());
  ASSERT_EQ(lines.size(), 6u);
  EXPECT_EQ(lines[0], r.path + "   orient");
  EXPECT_EQ(lines[1], "  X  Y  Z  ");
}

TEST(Pdb, ConectNamingNoAtomIsAnError) {
  Read r;
  r.text("a.pdb", HET
         "HETATM    2  O1  MOL     1       1.200   0.000   0.000\n"
         "CONECT    1    2\nCONECT    2    7\n");
  EXPECT_EQ(r.text3(), "error: CONECT    2    7");
  EXPECT_EQ(r.m().NAt, 2);
  EXPECT_EQ(r.m().Mpo(1, 2), 1);
}

TEST(Pdb, BondsOfLaterModelsAreNotErrors) {
  Read r;
  r.text("a.pdb",
         "MODEL        1\n"
         "HETATM    1  C1  MOL     1       0.000   0.000   0.000\n"
         "HETATM    2  O1  MOL     1       1.200   0.000   0.000\nENDMDL\nMODEL        2\n"
         "HETATM    3  C1  MOL     1       5.000   0.000   0.000\n"
         "HETATM    4  O1  MOL     1       6.200   0.000   0.000\nENDMDL\n"
         "CONECT    1    2\nCONECT    3    4\nEND\n");
  EXPECT_EQ(r.text3(), r.path + " all is good");
  ASSERT_EQ(r.m().NAt, 2);
  EXPECT_NEAR(r.rel(2, 1), 1.2, 1e-12);
  EXPECT_EQ(r.m().Mpo(1, 2), 1);
}

TEST(Pdb, IncompleteCoordinatesAreLoggedAndLeftZero) {
  Read r;
  r.text("a.pdb",
         "HETATM    1  C1  MOL     1       1.500   2.500\nHETATM    2  O1  MOL     1       1.5"
         "   2.5   3.5\nCONECT    1    2\n");
  ASSERT_EQ(r.m().NAt, 2);
  EXPECT_NE(r.log().find("\nnot complete coordinate  1"), std::string::npos);
  EXPECT_NEAR(r.rel(2, 3), 3.5, 1e-9);
}

// ------------------------------------------------------------ molfile and mol2

TEST(Mol, ChlorineAndCarbonByTheContainingLookUp) {
  Read r;
  r.copy(fixture("mol/program_line.mol"), "cl.mol");
  ASSERT_EQ(r.m().NAt, 3);
  EXPECT_EQ(r.text3(), r.path + " all is good");
  EXPECT_EQ(r.m().AtSym(1), "C");
  EXPECT_EQ(r.m().AtSym(2), "Cl");
  EXPECT_EQ(r.m().AtSym(3), "Br");
  EXPECT_NEAR(r.rel(2, 1), 1.7650, 1e-9);
}

TEST(Mol2, NarrowColumnsAndForceFieldTypesAlsoInsideAMolFile) {
  for (std::string name : {"narrow.mol2", "narrow.mol"}) {
    SCOPED_TRACE(name);
    Read r;
    r.copy(fixture("mol2/narrow.mol2"), name);
    ASSERT_EQ(r.m().NAt, 4);
    EXPECT_EQ(r.m().AtSym(1), "C");   // C.ar
    EXPECT_EQ(r.m().AtSym(2), "O");   // name O1, AMBER type OS
    EXPECT_EQ(r.m().AtSym(3), "H");   // name H1, type HO
    EXPECT_EQ(r.m().AtSym(4), "Cl");  // name CL1, GAFF type cl
    EXPECT_NEAR(r.rel(2, 1), 12.345, 1e-9);
    EXPECT_NEAR(r.rel(3, 2), -1.5, 1e-9);
    // a ".mol" holding mol2 is detected on its first atom line
    EXPECT_TRUE(name.ends_with("2") ||
                r.log().find("1 C1 0.000 0.000 0.000 C.ar 1 MOL 0.0\nit is not format .mol, "
                             "instead format .mol2 is tested...") != std::string::npos)
        << r.log();
  }
}

// ------------------------------------------------------------ job files

TEST(Gjf, ColumnRuleWithRouteLineFirstInTheScratchCopy) {
  Read r;
  r.text("w.gjf",
         "%chk=w.chk\n# opt b3lyp\n\nwater\n\n0 1\n"
         " O                  0.00000000    0.00000000    0.11730000\n"
         " H                  0.00000000    0.75720000   -0.46920000\n"
         " H                  0.00000000   -0.75720000   -0.46920000\n\n");
  ASSERT_EQ(r.m().NAt, 3);
  EXPECT_NEAR(r.rel(2, 2), 0.7572, 1e-9);
  auto lines = linesOf(r.scratch());
  ASSERT_EQ(lines.size(), 6u);
  EXPECT_EQ(lines[0], "# opt b3lyp");
  EXPECT_EQ(lines[1], r.path + "   orient");
}

// ------------------------------------------------------------ coordinate lists

TEST(Xyz, TwoBlankRuleSkipsSymbolsAndSingleBlanks) {
  Read r;
  r.text("a.xyz",
         "4\ntitle\nC  9.0  9.0  9.0\n6 1.0 1.0 1.0\n6  0.000000  0.000000  0.000000\n"
         "1  0.000000  0.000000  1.090000\n");
  ASSERT_EQ(r.m().NAt, 2);
  EXPECT_NEAR(r.rel(2, 3), 1.09, 1e-9);
  EXPECT_NE(r.log().find(" 6 1"), std::string::npos);
  auto lines = linesOf(r.scratch());
  ASSERT_EQ(lines.size(), 4u);  // header and two atoms: readable again as ".geo"
}

// ------------------------------------------------------------ start and dispatch

TEST(Start, MissingAndEmptyFiles) {
  Read r;
  std::string missing = (r.dir.path() / "none.pdb").string();
  fmtGeo(*r.app, missing);
  EXPECT_EQ(r.text3(), "brak pliku " + missing);
  EXPECT_TRUE(r.app->readFailed);
  std::string empty = r.dir.write("empty.xyz", "");
  fmtGeo(*r.app, empty);
  EXPECT_EQ(r.text3(), "file " + empty + " is empty");
  EXPECT_TRUE(std::filesystem::exists(empty));  // the input is never touched
  fmtGeo(*r.app, r.dir.path().string());
  EXPECT_EQ(r.text3(), "błąd pliku " + r.dir.path().string());
}

TEST(Start, NamesAndFinalState) {
  Read r;
  r.text("Water.XYZ", "3\nw\n8  0.0  0.0  0.0\n1  0.0  0.7572  0.5865\n1  0.0  -0.7572  0.5865\n");
  ASSERT_EQ(r.m().NAt, 3);
  EXPECT_EQ(r.m().FilNam, (r.dir.path() / "Water").string());
  EXPECT_EQ(r.m().ShowNam, "Water");
  EXPECT_EQ(r.m().GeoFile, r.path);
  EXPECT_EQ(r.app->obr.caption, "Water  VIEW Kelv");
  EXPECT_EQ(r.m().Sw(9), 0);
  EXPECT_NE(r.m().Sw(8), 0);
  EXPECT_EQ(r.m().Par(40), 1);
  EXPECT_NE(r.log().find("-----------------------------\nfile " + r.path +
                         "\ncoordinates for  3 atoms has been read"),
            std::string::npos);
  EXPECT_NEAR(r.m().Box(3, 2), 1.5144, 1e-9);
  EXPECT_NEAR(r.m().Box(0, 0), 1.5144, 1e-9);
  EXPECT_NEAR(r.m().Box(1, 0), 1.00782504, 1e-9);
  EXPECT_FALSE(r.app->readFailed);
}

// ------------------------------------------------------------ bad input never crashes

struct BadCase {
  const char* name;
  const char* ext;
};

class BadInput : public ::testing::TestWithParam<BadCase> {};

std::string binaryText() {
  std::string s;
  for (int i = 0; i < 5000; ++i) s += char((i * 7919 + 13) % 256);
  return s;
}

std::string oversized(std::string_view ext) {
  std::string s;
  if (ext == "pdb") {
    for (int i = 1; i <= 481; ++i) {
      char b[100];
      std::snprintf(b, sizeof b, "HETATM%5d  C1  MOL     1    %8.3f   1.000   2.000\n", i, i * 1.0);
      s += b;
    }
    return s + "CONECT    1\n";
  }
  if (ext == "mol")
    for (int i = 1; i <= 484; ++i)
      s += "    " + std::to_string(i) + ".0000    1.0000    2.0000 C   0  0\n";
  else if (ext == "mol2") {
    s = "@<TRIPOS>ATOM\n";
    for (int i = 1; i <= 481; ++i)
      s += std::to_string(i) + " C1 " + std::to_string(i) + ".0 1.0 2.0 C.3\n";
  } else if (ext == "gjf") {
    s = "# hf\n\nt\n\n0 1\n";
    for (int i = 1; i <= 481; ++i)
      s += " C                 " + std::to_string(i) + ".0000000    1.00000000    2.00000000\n";
  } else if (ext == "xyz") {
    for (int i = 1; i <= 481; ++i) s += "6  " + std::to_string(i) + ".0  1.0  2.0\n";
  } else {
    s = "big orient\n  X  Y  Z\n";
    for (int i = 1; i <= 481; ++i)
      s += "  " + std::to_string(i) + "  6  " + std::to_string(i) + ".000  1.000  2.000\n";
  }
  return s;
}

TEST_P(BadInput, TruncatedBinaryAndOversizedFilesGiveAMessage) {
  const BadCase& c = GetParam();
  std::string name = std::string("bad.") + c.ext;
  {
    Read r;
    r.text(name, binaryText());
    EXPECT_TRUE(r.app->readFailed);
    EXPECT_FALSE(r.text3().empty());
    EXPECT_EQ(r.app->erraCount, 0) << r.app->frm.Text4.text;
  }
  {
    Read r;
    std::string big = oversized(c.ext);
    r.text(name, big);
    EXPECT_TRUE(r.app->readFailed) << r.text3();
    EXPECT_EQ(r.text3(), r.path + "  more than 480 atoms: only the first 480 were read");
    EXPECT_EQ(r.m().NAt, 480);
    EXPECT_EQ(r.app->erraCount, 0) << r.app->frm.Text4.text;
    // cut in the middle of a line
    Read t;
    t.text(name, big.substr(0, big.size() / 3 + 7));
    EXPECT_EQ(t.app->erraCount, 0) << t.app->frm.Text4.text;
    EXPECT_FALSE(t.text3().empty());
  }
}

// clang-format off
const BadCase Bad[] = {{"geo", "geo"}, {"orn", "orn"}, {"other", "log"}, {"pdb", "pdb"},
                       {"mol", "mol"}, {"mol2", "mol2"}, {"gjf", "gjf"}, {"xyz", "xyz"}};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Kinds, BadInput, ::testing::ValuesIn(Bad),
                         [](const auto& row) { return std::string(row.param.name); });

TEST(BadInput, TruncatedRealOutputKeepsThePreviousTable) {
  auto src = shared("gaussian/g16/ethane.out");
  KEL_NEED_SHARED(src);
  std::string text = slurp(src);
  auto last = text.rfind("Standard orientation:");
  Read r;
  r.text("cut.out", text.substr(0, last + 200));
  EXPECT_EQ(r.app->erraCount, 0);
  EXPECT_GT(r.m().NAt, 0);
}

}  // namespace
}  // namespace kel::testing
