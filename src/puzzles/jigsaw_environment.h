// CJigsawEnvironment: a torn picture of twelve pieces to put together on a desk. Pieces are
// dragged with the mouse and snap to their true neighbours; once whole, the picture flies into
// the inventory strip as a new item and the collected scraps leave it. Any jigsaw data file
// drives it.
#pragma once

#include <array>

#include "puzzles/jigsaw_board.h"
#include "puzzles/jigsaw_file.h"
#include "puzzles/puzzle_environment.h"

class CInventoryItem;
class CJigsawPiece;

class CJigsawEnvironment : public CPuzzleEnvironment {
 public:
  explicit CJigsawEnvironment(const jigsaw::JigsawFile& file);
  ~CJigsawEnvironment() override;

  void Update() override;
  int GetTypeId() override { return TypeId::kJigsawEnvironment; }
  void OnNotify(CGameObject* sender, int code) override;
  void SolveNow() override;
  void ShowHelp() override;

  const jigsaw::JigsawFile& File() const { return file_; }
  const jigsaw::Board& Board() const { return board_; }
  jigsaw::Board& MutableBoard() { return board_; }
  CJigsawPiece* GetPiece(int index) const;
  int PieceCount() const;
  CJigsawPiece* GetCompletingPiece() const;
  bool IsFlying() const { return flying_ != nullptr; }

  // A piece was gripped (left button down over it).
  void GripPiece(CJigsawPiece* piece);
  // The finished picture leaves for the strip from this piece.
  void StartFlightFrom(CJigsawPiece* piece);
  // The sprites follow the board (after any change to it).
  void SyncPieces();

 private:
  void DragStep();
  void Release(CJigsawPiece* piece);
  void Solved(CGameObject* piece);
  void Reset();
  void FlightStep();
  void Land();
  ScreenRect FlightTarget(float& width);

  jigsaw::JigsawFile file_;
  jigsaw::Board board_;
  std::array<CXRef*, jigsaw::kPieces> pieces_{};  // fixed slots: the weak references point into them
  CXRef* completing_ = nullptr;
  CJigsawPiece* flying_ = nullptr;  // the piece leading the flight (pieces die only with the scene or Land)
  CXRef* prize_ = nullptr;          // the strip item promised to the flight
};

// The factory entry of class 26: the jigsaw of the data file named by the argument; null (after a
// message) when the file cannot be read.
CEnvironment* BuildJigsaw(const char* fileName);
